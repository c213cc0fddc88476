#pragma once
// The program's application object: an error that no handler trapped shows
// the runtime's error box and ends the program.
#include <QApplication>

namespace rt {

class Application : public QApplication {
public:
    Application(int& argc, char** argv, const QString& title);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace rt
