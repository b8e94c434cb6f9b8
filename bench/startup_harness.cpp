#include "ui/application.h"

int main(int argc, char** argv)
{
    return runVeldrun(argc, argv, true);
}
