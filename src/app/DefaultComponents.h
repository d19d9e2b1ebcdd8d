#pragma once

#include "components/ComponentRegistry.h"

// The components of the real program, each under its class identifier.
ComponentRegistry MakeDefaultRegistry();
