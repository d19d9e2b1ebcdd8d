#pragma once

#include <cstdint>

// The values that live as long as the process. They keep their traditional
// names, but one object owns them for the run (the application), so that
// every test starts from fresh values.
struct ProcessValues {
    int32_t g_nInterval = 300;       // capture interval in seconds
    int32_t g_nImageCount = 0;       // passes that got past the capture step
    int32_t g_nElapsed = 0;          // countdown ticks since the last scheduled pass
    int32_t g_nEnrolAttempts = 0;    // enrolment attempts, at most 50 in a run
    int16_t g_nVideoDriver = 0;      // the main window's video driver number
    int32_t g_nSetupVideoDriver = 0; // the Setup dialogs' video driver number
};
