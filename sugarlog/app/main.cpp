#include "sugarlog/app/sugarlog_app.h"

int main(int argc, char** argv) {
  return sugarlog_app::run(argc, argv);
}
