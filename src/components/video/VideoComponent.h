#pragma once

class ComponentRegistry;

// Registers the video capture component (ClassIds::VideoCapture). The
// component is a VideoCaptureWidget; its host reparents and places it.
void RegisterVideoComponent(ComponentRegistry& registry);
