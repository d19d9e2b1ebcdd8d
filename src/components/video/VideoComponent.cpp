#include "components/video/VideoComponent.h"

#include "components/ClassIds.h"
#include "components/ComponentRegistry.h"
#include "components/video/VideoCaptureWidget.h"

void RegisterVideoComponent(ComponentRegistry& registry) {
    registry.Register(ClassIds::VideoCapture,
                      [] { return std::make_unique<VideoCaptureWidget>(); });
}
