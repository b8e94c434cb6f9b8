#include "ui/application.h"

// No command-line arguments are read: the configuration is the settings file.
int main(int argc, char** argv) { return runVeldrun(argc, argv); }
