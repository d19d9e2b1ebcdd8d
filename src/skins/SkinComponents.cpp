#include "skins/SkinComponents.h"

#include "components/ClassIds.h"
#include "components/ComponentRegistry.h"
#include "skins/SkinButton.h"
#include "skins/SkinForm.h"
#include "skins/SkinLabel.h"

void RegisterSkinComponents(ComponentRegistry& registry) {
    registry.Register(ClassIds::SkinForm, [] { return std::make_unique<SkinForm>(); });
    registry.Register(ClassIds::SkinButton, [] { return std::make_unique<SkinButton>(); });
    registry.Register(ClassIds::SkinLabel, [] { return std::make_unique<SkinLabel>(); });
}
