#include "pulsewise/app/pulsewise_program.h"

int main(int argc, char* argv[]) {
  return pulsewise::run(argc, argv);
}
