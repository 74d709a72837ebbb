#include "platform/painter/filled_frame.h"

#include <algorithm>
#include <cmath>

#include <QPainter>

namespace vexmire {

namespace {

// Target rows per row of the game.
double RowScale(const FrameLayout& layout, QSize frame) {
    return static_cast<double>(layout.target.height()) / frame.height();
}

}  // namespace

QRegion FilledFrame::RowsReached(const QRegion& game, const FrameLayout& layout, QSize frame) {
    const double scale = RowScale(layout, frame);
    const QRect target(QPoint(0, 0), layout.target.size());
    QRegion rows;
    for (const QRect& rect : game) {
        const int top = static_cast<int>(std::floor(rect.top() * scale)) - 1;
        const int bottom = static_cast<int>(std::ceil((rect.bottom() + 1) * scale)) + 1;
        rows += QRect(0, top, target.width(), bottom - top) & target;
    }
    return rows;
}

QRegion FilledFrame::GameRows(const QRegion& rows, const FrameLayout& layout, QSize frame) {
    const double scale = RowScale(layout, frame);
    const QRect whole(QPoint(0, 0), frame);
    QRegion game;
    for (const QRect& rect : rows) {
        const int top = static_cast<int>(std::floor(rect.top() / scale)) - 1;
        const int bottom = static_cast<int>(std::ceil((rect.bottom() + 1) / scale)) + 1;
        game += QRect(0, top, frame.width(), bottom - top) & whole;
    }
    return game;
}

void FilledFrame::Update(const QImage& frame, const QRegion& game, const FrameLayout& layout) {
    const QSize enlargedSize = frame.size() * layout.upFactor;
    QRegion changed = game;
    if (layout.target != layout_.target || layout.upFactor != layout_.upFactor ||
        enlarged_.size() != enlargedSize) {
        layout_ = layout;
        enlarged_ = QImage(enlargedSize, QImage::Format_RGB32);
        image_ = QImage(layout.target.size(), QImage::Format_RGB32);
        changed = QRect(QPoint(0, 0), frame.size());
    }
    QPainter enlarging(&enlarged_);
    for (const QRect& rect : changed) {
        enlarging.drawImage(rect.topLeft() * layout.upFactor,
                            frame.copy(rect).scaled(rect.size() * layout.upFactor,
                                                    Qt::IgnoreAspectRatio, Qt::FastTransformation));
    }
    enlarging.end();
    QPainter painter(&image_);
    painter.setClipRegion(RowsReached(changed, layout, frame.size()));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(image_.size())), enlarged_);
}

QImage FillWithFrame(const QImage& frame, const FrameLayout& layout) {
    FilledFrame filled;
    filled.Update(frame, QRect(QPoint(0, 0), frame.size()), layout);
    return filled.image();
}

}  // namespace vexmire
