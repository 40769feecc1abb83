// Loading a tracing picture into an underlay record as a square power-of-two texture picture,
// painting its border and sizing it to the card.
#pragma once

#include "model/card_model.h"
#include "model/message_sink.h"
#include "model/underlay_image.h"

#include <memory>
#include <string>

namespace plicato {

constexpr int maxTextureSide = 1024;

// Smallest power of two from 64 to 32768 holding both sides, capped at maxSide.
int textureSide(int imageWidth, int imageHeight, int maxSide);

// Nearest-neighbour resampling of `source` (rows bottom-up) to side x side with a white
// outermost ring.
std::unique_ptr<Picture> resamplePicture(const Picture& source, int side);

// Decodes the file at `path` (JPEG by its extension, anything else as BMP) and, on success,
// sets the record's path, image size and picture. On failure the record stays as it was.
bool loadPicture(UnderlayImage& record, const std::string& path, int maxSide, MessageSink& sink);
// Re-reads the record's own path.
bool loadPicture(UnderlayImage& record, int maxSide, MessageSink& sink);

// Loads the picture at `path` into the record, or says that the file is missing.
bool loadUnderlay(UnderlayImage& record, const std::string& path, MessageSink& sink);

// Where the picture a model file names is found: the stored path when it exists, else a file of
// the same name beside the model file (designs are moved between computers with their
// pictures), else the stored path unchanged.
std::string findUnderlayFile(const std::string& storedPath, const std::string& modelFilePath);

// Sets the outermost rows and columns to `colour` (red + 256 * green + 65536 * blue).
void paintBorder(UnderlayImage& record, unsigned int colour);

// Sizes the record to the card's width or half height, keeping the picture's aspect ratio, and
// puts it at the bottom centre.
void fitToCard(UnderlayImage& record, int cardWidth, int cardHeight);
void fitToCard(UnderlayImage& record, const CardModel& model);

} // namespace plicato
