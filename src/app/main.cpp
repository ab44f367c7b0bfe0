#include "app/ui/ZelApplication.h"

int main(int argc, char** argv) { return zel::RunZel(argc, argv); }
