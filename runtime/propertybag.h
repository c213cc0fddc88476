#pragma once
// The stored settings of one user control: keys in the order written, keys
// matched in any case, typed values. A read returns the given default when the
// key is absent; a write with a default leaves out a value equal to it.
#include <QString>
#include <QVariant>
#include <utility>
#include <vector>

namespace rt {

class PropertyBag {
public:
    QVariant ReadProperty(const QString& name, const QVariant& defaultValue = {}) const;
    void WriteProperty(const QString& name, const QVariant& value,
                       const QVariant& defaultValue = {});

    bool contains(const QString& name) const;
    const std::vector<std::pair<QString, QVariant>>& entries() const { return entries_; }
    void clear() { entries_.clear(); }

private:
    std::vector<std::pair<QString, QVariant>> entries_;
};

}  // namespace rt
