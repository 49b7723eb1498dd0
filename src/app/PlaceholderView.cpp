// A plain view of a document: the waveform of each channel drawn column by column, the whole
// sound as its selection. Select All is its only command.
#include <QPainter>
#include <QPaintEvent>
#include <algorithm>

#include "app/CommandIds.h"
#include "document/CTarkelDoc.h"
#include "document/DocumentObserver.h"
#include "view/ui/DocumentView.h"

namespace tarkel::ui {
namespace {

class PlaceholderView final : public DocumentView, public DocumentObserver {
 public:
  PlaceholderView(CTarkelDoc& doc, QWidget* parent) : DocumentView(parent), doc_(doc) {
    setObjectName("DocumentView");
    setMinimumSize(200, 80);
    setAttribute(Qt::WA_OpaquePaintEvent);
    doc_.AddObserver(this);
  }
  ~PlaceholderView() override { doc_.RemoveObserver(this); }

  CTarkelDoc& Document() const override { return doc_; }
  const Selection& CurrentSelection() const override { return selection_; }
  void SetSelection(const Selection& selection) override {
    selection_ = selection;
    Changed();
  }
  bool HandleCommand(int commandId) override {
    if (commandId != cmd::kSelectAll) return false;
    selection_.Clear();
    Changed();
    return true;
  }
  bool CommandState(int commandId, bool& enabled, bool& checked) const override {
    if (commandId != cmd::kSelectAll) return false;
    enabled = doc_.Sound().HasData();
    checked = false;
    return true;
  }

  void OnDocumentUpdate(CTarkelDoc&, uint32_t) override { update(); }
  void OnLengthReset(CTarkelDoc&) override {
    selection_.Clear();
    Changed();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const DocWaveAudio& sound = doc_.Sound();
    const uint32_t frames = sound.Frames();
    const int channels = std::max<int>(1, sound.Channels());
    const int bits = sound.BitsPerSample();
    if (!sound.HasData() || frames == 0 || (bits != 8 && bits != 16) || width() <= 0) return;
    const QColor colours[2] = {QColor(0x00, 0x80, 0xFF), QColor(0xFF, 0x00, 0x00)};
    const int bandHeight = height() / channels;
    const uint8_t* data = sound.Data();
    const uint32_t align = sound.BlockAlign();
    for (int ch = 0; ch < channels && ch < 2; ++ch) {
      const int mid = bandHeight * ch + bandHeight / 2;
      painter.setPen(QColor(0x3F, 0x3F, 0x3F));
      painter.drawLine(0, mid, width(), mid);
      painter.setPen(colours[ch]);
      for (int x = 0; x < width(); ++x) {
        const uint64_t from = uint64_t(frames) * x / width();
        const uint64_t to = std::max<uint64_t>(from + 1, uint64_t(frames) * (x + 1) / width());
        // Long columns are sampled: a few hundred frames show the column's extent well enough.
        const uint64_t stride = std::max<uint64_t>(1, (to - from) / 256);
        int lo = 32767, hi = -32768;
        for (uint64_t f = from; f < to; f += stride) {
          const uint8_t* p = data + f * align + ch * (bits / 8);
          const int v = bits == 8 ? (int(p[0]) - 128) * 256 : int(int16_t(uint16_t(p[0] | (p[1] << 8))));
          lo = std::min(lo, v);
          hi = std::max(hi, v);
        }
        const int half = bandHeight / 2 - 1;
        painter.drawLine(x, mid - hi * half / 32768, x, mid - lo * half / 32768);
      }
    }
  }

 private:
  void Changed() {
    update();
    if (selectionChanged) selectionChanged();
  }

  CTarkelDoc& doc_;
  Selection selection_;
};

}  // namespace

DocumentView* CreateDocumentView(CTarkelDoc& document, QWidget* parent) { return new PlaceholderView(document, parent); }

}  // namespace tarkel::ui
