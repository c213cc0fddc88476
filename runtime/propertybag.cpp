#include "propertybag.h"

#include "convert.h"

namespace rt {

namespace {
template <class V>
auto find(V& entries, const QString& name) {
    return std::find_if(entries.begin(), entries.end(), [&](const auto& e) {
        return e.first.compare(name, Qt::CaseInsensitive) == 0;
    });
}
}  // namespace

QVariant PropertyBag::ReadProperty(const QString& name, const QVariant& defaultValue) const {
    auto it = find(entries_, name);
    return it == entries_.end() ? defaultValue : it->second;
}

void PropertyBag::WriteProperty(const QString& name, const QVariant& value,
                                const QVariant& defaultValue) {
    auto it = find(entries_, name);
    if (defaultValue.isValid() && sameValue(value, defaultValue)) {
        if (it != entries_.end()) entries_.erase(it);
        return;
    }
    if (it != entries_.end())
        it->second = value;
    else
        entries_.emplace_back(name, value);
}

bool PropertyBag::contains(const QString& name) const {
    return find(entries_, name) != entries_.end();
}

}  // namespace rt
