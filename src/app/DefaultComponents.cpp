#include "app/DefaultComponents.h"

#include "skins/SkinComponents.h"

ComponentRegistry MakeDefaultRegistry() {
    ComponentRegistry registry;
    RegisterSkinComponents(registry);
    // ---- The file transfer and video capture components register here: ----
    //   RegisterFtpComponent(registry);   // components/ftp/FtpComponent.h
    //   RegisterVideoComponent(registry); // components/video/VideoComponent.h
    // Until they do, the main window cannot be created and the program ends
    // quietly, as it does whenever a component is not installed.
    return registry;
}
