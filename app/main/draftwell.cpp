// draftwell: the designer program.
#include "app/Shell.h"

int main(int argc, char** argv) {
    std::vector<dw::String> args(argv + 1, argv + argc);
    return dw::RunDraftwell(args);
}
