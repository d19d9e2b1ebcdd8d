#include "app/DefaultComponents.h"

#include "components/ftp/FtpComponent.h"
#include "components/video/VideoComponent.h"
#include "skins/SkinComponents.h"

ComponentRegistry MakeDefaultRegistry() {
    ComponentRegistry registry;
    RegisterSkinComponents(registry);
    RegisterFtpComponent(registry);
    RegisterVideoComponent(registry);
    return registry;
}
