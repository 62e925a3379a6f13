#pragma once
// When a video file (MP4, MOV, M4V, 3GP: the ISO base media and QuickTime
// formats) was made, read with FFmpeg's libavformat (its one demuxer of
// those formats) from the boxes that describe it, never its frames.

#include "platform/os/PictureBytes.h"
#include "platform/os/VideoClock.h"

// The entry the program finds in the loaded reader (VideoModule.cpp):
// ReadVideoRecord into `record`.
extern "C" void TarvineReadVideoRecord(PictureBytes* file, VideoRecord* record);

// What the video records (LooksLikeVideo is the caller's test): Apple's creation date with its zone, the
// container's creation time, the model. Empty for any other file, or a
// damaged one: any content gives an answer, within a few seconds and
// reading a bounded number of bytes. Safe to call from many threads at once.
VideoRecord ReadVideoRecord(PictureBytes& file);
