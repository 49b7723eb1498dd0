#include "app/AppIcons.h"

#include <QApplication>
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

#include "app/CommandIds.h"
#include "app/CommandTable.h"

namespace tarkel::app {
namespace {

constexpr int kIconSize = 20;

// One colour per bar, by Bar.
const QColor kBarColours[] = {
    QColor(0x8E, 0x44, 0xAD), QColor(0x27, 0x6F, 0xBF), QColor(0x5D, 0x6D, 0x7E), QColor(0x11, 0x7A, 0x65),
    QColor(0xB9, 0x77, 0x0E), QColor(0x2E, 0x4A, 0x62), QColor(0x1E, 0x84, 0x49), QColor(0xA0, 0x40, 0x00),
    QColor(0x1F, 0x61, 0x8D), QColor(0x76, 0x44, 0x8A), QColor(0x34, 0x49, 0x5E),
};

int StandardSymbol(int id) {
  using namespace cmd;
  switch (id) {
    case kFileNew: return QStyle::SP_FileIcon;
    case kFileOpen: return QStyle::SP_DialogOpenButton;
    case kFileSave: return QStyle::SP_DialogSaveButton;
    case kPlayAll: return QStyle::SP_MediaPlay;
    case kStop: return QStyle::SP_MediaStop;
    case kPause: return QStyle::SP_MediaPause;
    case kAppAbout: return QStyle::SP_MessageBoxInformation;
    default: return -1;
  }
}

QPixmap LabelPixmap(const QString& label, const QColor& colour) {
  const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
  QPixmap pixmap(QSize(kIconSize, kIconSize) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawRoundedRect(QRectF(1, 1, kIconSize - 2, kIconSize - 2), 4, 4);
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(label.size() >= 3 ? 8 : 10);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRectF(0, 0, kIconSize, kIconSize), Qt::AlignCenter, label);
  return pixmap;
}

}  // namespace

QIcon ApplicationIcon() {
  QIcon icon = QIcon::fromTheme("tarkel");
  if (!icon.isNull()) return icon;
  QPixmap pixmap(64, 64);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(0x1F, 0x3A, 0x5F));
  painter.setPen(Qt::NoPen);
  painter.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
  painter.setPen(QPen(QColor(0xFF, 0x80, 0x00), 3));
  const int heights[] = {8, 18, 30, 14, 24, 36, 20, 10, 26, 16};
  for (int i = 0; i < 10; ++i) painter.drawLine(9 + i * 5, 32 - heights[i] / 2, 9 + i * 5, 32 + heights[i] / 2);
  return QIcon(pixmap);
}

QIcon CommandIcon(const CommandRow& row, int bar) {
  if (const int symbol = StandardSymbol(row.id); symbol >= 0 && qApp)
    return qApp->style()->standardIcon(QStyle::StandardPixmap(symbol));
  return QIcon(LabelPixmap(QString::fromUtf8(row.icon), kBarColours[bar % std::size(kBarColours)]));
}

}  // namespace tarkel::app
