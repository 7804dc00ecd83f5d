// The canvases the drawing benchmarks draw on: a memory DC with a 32-bit bitmap for
// the project, a 32-bit image with an aliased QPainter kept on it for the peer, both
// white and of the same size.
#pragma once

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"

#include <QImage>
#include <QPainter>

struct Canvas {
    CDC dc;
    CBitmap bitmap;
    Canvas(int width, int height)
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateBitmap(width, height, 1, 32, nullptr);
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
    }
};

struct PeerCanvas {
    QImage image;
    QPainter painter;
    PeerCanvas(int width, int height) : image(width, height, QImage::Format_RGB32)
    {
        image.fill(Qt::white);
        painter.begin(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
    }
};
