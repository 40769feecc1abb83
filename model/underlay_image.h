// A tracing picture shown on one edit plane: its file, the decoded square picture and where it
// lies on the card.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plicato {

// A number no picture has had before in this run.
inline std::uint64_t nextPictureVersion() {
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}

// RGB, 3 bytes a pixel, rows from the bottom row up. `version` names the contents: the view
// keeps its texture while the version stays, so whoever changes `data` in place calls touch().
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> data;
    std::uint64_t version = nextPictureVersion();

    void touch() { version = nextPictureVersion(); }
};

struct UnderlayImage {
    std::string path;                 // bytes as given; empty when none was loaded
    std::unique_ptr<Picture> picture; // present exactly when a picture is loaded
    int textureName = -1;             // made and released by the view's drawing
    int imageWidth = 0;               // pixels in the file, before resampling
    int imageHeight = 0;
    double width = 0.0; // millimetres on the plane
    double height = 0.0;
    double centerX = 0.0; // sheet x of the picture's vertical centre line
    double bottom = 0.0;  // in-plane coordinate of the picture's first row

    bool isPresent() const { return picture != nullptr; }
};

} // namespace plicato
