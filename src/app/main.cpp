// Starts Quenlor: the application object, the main window, the event loop.

#include <QApplication>

#include "app/hauptfenster.h"

namespace {

// The application object; it keeps every behaviour of the framework's.
class Quenlor : public QApplication {
 public:
  using QApplication::QApplication;
};

}  // namespace

int main(int argc, char** argv) {
  // The program reads no command line: Qt gets the program name only.
  int qtArgc = argc > 0 ? 1 : 0;
  char* qtArgv[] = {argc > 0 ? argv[0] : nullptr, nullptr};
  Quenlor app(qtArgc, qtArgv);
  HauptFenster::Instanz();
  return Quenlor::exec();
}
