#include "app/application.h"

int main(int argc, char* argv[]) {
    return RunQuillbrook(argc, argv);
}
