#include "KelmstarApplication.h"
#include "Program.h"

int main(int argc, char** argv) {
    KelmstarApplication application(argc, argv);
    Program program;
    program.Show();
    return application.exec();
}
