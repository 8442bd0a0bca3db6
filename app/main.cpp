#include "app/gui/cmcApplication.h"

int main(int argc, char** argv) {
    return cmcRunApplication(argc, argv);
}
