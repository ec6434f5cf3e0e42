// The windowed program. Start-up wiring follows once the main window exists.
#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return 0;
}
