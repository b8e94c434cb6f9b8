#pragma once

#include "base/services.h"

#include <QImage>

// A picture loaded by QtPictures; the view draws its QImage.
class QtImage : public Image {
  public:
    explicit QtImage(QImage image) : image_(std::move(image)) {}
    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
    const QImage& image() const { return image_; }

  private:
    QImage image_;
};

// Loads Windows bitmaps and nothing else: the pictures the program names are BMP files.
class QtPictures : public Pictures {
  public:
    ImagePtr loadBmp(const std::string& path) override;
};
