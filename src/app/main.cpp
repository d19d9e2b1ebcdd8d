#include "app/ControllerApp.h"
#include "app/DefaultComponents.h"

int main(int argc, char** argv) {
    CControllerApp app(argc, argv, MakeDefaultRegistry());
    return app.InitInstance();
}
