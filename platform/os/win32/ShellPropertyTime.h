#pragma once
// The capture time the Windows property store gives a file: the shell's
// property handlers read HEIC, raws and videos where the system has their
// codecs, and nothing under Wine.

#include <string>

#include "platform/os/CaptureTimes.h"

// System.Photo.DateTaken (a picture's capture time, which the shell keeps as
// UTC turned from the camera's clock with the machine's zone, so it is
// turned back), else System.Media.DateEncoded (a video's creation time, UTC,
// read by `videoClock`). `camera` receives System.Photo.CameraModel, or "".
// Source kNone when the store has neither. The calling thread has entered
// COM.
FileTime CaptureTimeFromProperties(const std::wstring& path, VideoClock videoClock, std::string& camera);
