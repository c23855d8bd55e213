#include "app/qt/muhtasar_program.h"

int main(int argc, char** argv) {
  return app::runMuhtasar(argc, argv);
}
