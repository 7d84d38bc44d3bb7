#include "render/PictureList.h"

#include "render/PictureData.h"

namespace vantrel {

PictureList::PictureList(int pictureWidth, int pictureHeight)
    : width_(pictureWidth > 0 ? pictureWidth : 0), height_(pictureHeight > 0 ? pictureHeight : 0) {}

PictureList PictureList::MenuPictureList() {
    PictureList list(PictureSide, PictureSide);
    for (const auto& picture : MenuPictures)
        list.AddPair(picture);
    return list;
}

void PictureList::AddPair(const std::uint8_t* straightAlpha) {
    const std::size_t bytes =
        static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4;
    std::vector<std::uint8_t> colour(straightAlpha, straightAlpha + bytes);
    std::vector<std::uint8_t> alpha(bytes, 0);
    for (std::size_t i = 0; i < bytes; i += 4) {
        colour[i + 3] = 0;
        alpha[i] = alpha[i + 1] = alpha[i + 2] = straightAlpha[i + 3];
    }
    images_.push_back(std::move(colour));
    images_.push_back(std::move(alpha));
}

void PictureList::AddImage(std::vector<std::uint8_t> pixels) {
    pixels.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4);
    images_.push_back(std::move(pixels));
}

const std::uint8_t* PictureList::Image(int index) const {
    return images_.at(static_cast<std::size_t>(index)).data();
}

} // namespace vantrel
