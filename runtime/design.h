#pragma once
// Window design data: one JSON file per window (a Qt resource) holding the
// window's caption and size and its controls in order, each with its type,
// name, container, position in twips, texts and, for user controls, the
// stored property bag. Loading builds the controls in that order and lets
// each user control read its own bag.
#include <QJsonObject>
#include <functional>

#include "propertybag.h"

class QWidget;
class QObject;

namespace rt {

class Form;

namespace design {

// Creates a control of a type inside a container (the widget that will
// hold it; timers are owned by the form).
using Factory = std::function<QObject*(QWidget* container)>;

// Registers a control type under its design name ("N_Shape"). The runtime's
// own types are always known.
void registerType(const QString& type, Factory factory);

// Builds the window's controls from its design file. Fails with an error
// naming the file when the file is missing or malformed.
void load(Form& form, const QString& path);

// A property bag from its JSON form; texts stay texts (the reader converts
// them), {"picture": path} becomes a picture, {"font": name} a font.
PropertyBag bagFromJson(const QJsonObject& o);

}  // namespace design
}  // namespace rt
