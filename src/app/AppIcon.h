#pragma once

#include <QIcon>

// The application icon (resource 128): 32 × 32 and 16 × 16 images.
QIcon ApplicationIcon();
