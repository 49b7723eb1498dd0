#pragma once
// The frame of one document window: the document's view above a status bar of seven panes
// (rate, channels, bits, data size, play position, frame count, selection length). The title is
// the document's title, "*" while modified and "   [HD-edit]" in hard-disk mode.
#include <QMdiSubWindow>
#include <array>
#include <functional>
#include <memory>

#include "app/ChildStatusText.h"
#include "document/DocumentObserver.h"

class QLabel;
class QStatusBar;

namespace tarkel {
class CTarkelDoc;
namespace ui {
class DocumentView;
}
}  // namespace tarkel

namespace tarkel::app {

struct AppState;

class CChildFrame final : public QMdiSubWindow, public DocumentObserver {
  Q_OBJECT
 public:
  CChildFrame(std::unique_ptr<CTarkelDoc> doc, const AppState& state, QWidget* parent = nullptr);
  ~CChildFrame() override;

  CTarkelDoc& Document() const { return *doc_; }
  ui::DocumentView* View() const { return view_; }

  // The title with its marks.
  QString TitleText() const;
  // Refreshes the title and the panes; state 2 refreshes only the position pane.
  void UpdateChildStatus(int state = 0);
  QString PaneText(int pane) const;

  // Asked before the window closes; false keeps it open (the save question).
  std::function<bool(CChildFrame&)> mayClose;

  // DocumentObserver
  void OnDocumentUpdate(CTarkelDoc& doc, uint32_t updateHint) override;
  void OnLengthReset(CTarkelDoc& doc) override;
  void OnTitleChanged(CTarkelDoc& doc) override;

 signals:
  // The document changed, or the view's selection: the main frame refreshes menus and titles.
  void documentChanged(tarkel::app::CChildFrame* child);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // The background read of the document has ended (on the UI thread).
  void OnLoadEnded(bool ok);

  std::unique_ptr<CTarkelDoc> doc_;
  const AppState& state_;
  ui::DocumentView* view_ = nullptr;
  QStatusBar* status_ = nullptr;
  std::array<QLabel*, kChildPaneCount> panes_{};
  bool closed_ = false;
};

}  // namespace tarkel::app
