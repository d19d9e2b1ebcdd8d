#pragma once

class ComponentRegistry;

// Registers the skin form, the skin button and the skin label under their
// class identifiers.
void RegisterSkinComponents(ComponentRegistry& registry);
