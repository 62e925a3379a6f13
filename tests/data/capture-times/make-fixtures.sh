#!/bin/sh
# Makes the capture-time fixtures once, with Debian's ffmpeg, libheif-examples
# (heif-enc), webp (cwebp), libimage-exiftool-perl and python3. Run in this
# folder.
set -eu
ffmpeg -v error -f lavfi -i color=c=gray:s=16x16 -frames:v 1 -y seed.png
# A phone's HEIC: Exif capture time with its offset and sub-seconds, and the model.
heif-enc -q 10 -o phone.heic seed.png
exiftool -q -overwrite_original -DateTimeOriginal='2023:07:14 10:22:03' -SubSecTimeOriginal=25 \
  -OffsetTimeOriginal=+02:00 -Model='iPhone 12' phone.heic
python3 phone-iloc.py phone.heic
# An AVIF with only a digitized time.
heif-enc -A -q 10 -o digitized.avif seed.png
exiftool -q -overwrite_original -CreateDate='2023:07:14 10:22:05' digitized.avif
python3 phone-iloc.py digitized.avif
# A PNG (eXIf chunk) and a WebP with Exif.
cp seed.png picture.png
exiftool -q -overwrite_original -DateTimeOriginal='2023:07:14 10:22:07' -Model='Canon EOS R5' picture.png
cwebp -quiet -q 10 seed.png -o picture.webp
exiftool -q -overwrite_original -DateTimeOriginal='2023:07:14 10:22:09' picture.webp
# A phone's live-photo MOV: Apple creation date with its own offset (and a UTC
# creation time two hours earlier, which it overrides), and the model.
ffmpeg -v error -f lavfi -i color=c=gray:s=16x16:d=0.04 -c:v mpeg4 -movflags use_metadata_tags \
  -metadata creation_time=2023-07-14T08:22:04Z -metadata com.apple.quicktime.creationdate=2023-07-14T10:22:04+0200 \
  -metadata com.apple.quicktime.model='iPhone 12' -y phone.mov
# A camera's MP4: only the container's creation time, UTC.
ffmpeg -v error -f lavfi -i color=c=gray:s=16x16:d=0.04 -c:v mpeg4 \
  -metadata creation_time=2023-07-14T08:22:06Z -y camera.mp4
# A video with no creation time at all.
ffmpeg -v error -f lavfi -i color=c=gray:s=16x16:d=0.04 -c:v mpeg4 -fflags +bitexact -y undated.mp4
rm seed.png
# A camera's JPEG with an embedded thumbnail: the picture blue, its Exif
# thumbnail red, so a test tells which of the two was drawn.
ffmpeg -v error -f lavfi -i color=c=red:s=32x24 -frames:v 1 -pix_fmt yuvj420p -fflags +bitexact -y thumb.jpg
ffmpeg -v error -f lavfi -i color=c=blue:s=64x48 -frames:v 1 -pix_fmt yuvj420p -fflags +bitexact -y thumbnailed.jpg
exiftool -q -overwrite_original -DateTimeOriginal='2023:07:14 10:22:11' '-ThumbnailImage<=thumb.jpg' thumbnailed.jpg
rm thumb.jpg
