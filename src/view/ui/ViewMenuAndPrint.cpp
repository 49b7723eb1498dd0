// The view's context menu and its printing through the same drawing code as the window.
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "view/ViewCommandIds.h"
#include "view/ui/CTarkelView.h"
#include "view/ui/WavePainter.h"

namespace tarkel {

QMenu* CTarkelView::BuildContextMenu() {
  using namespace viewcmd;
  auto* menu = new QMenu(this);
  auto add = [this](QMenu* m, const QString& text, int id) {
    QAction* action = m->addAction(text);
    action->setData(id);
    bool enabled = true, checked = false;
    if (CommandState(id, enabled, checked)) action->setEnabled(enabled);
    connect(action, &QAction::triggered, this, [this, id] {
      if (HandleCommand(id)) return;
      if (commandRequested) {
        commandRequested(id);
        return;
      }
      // Otherwise the window's own action for the command.
      for (QAction* candidate : window()->findChildren<QAction*>())
        if (candidate->data().toInt() == id && candidate->parent() != nullptr && !qobject_cast<QMenu*>(candidate->parent())) {
          candidate->trigger();
          return;
        }
    });
  };
  add(menu, QStringLiteral("Rückgä&ngig"), kUndo);
  add(menu, QStringLiteral("&Bereich Abspielen"), kPlaySelection);
  add(menu, QStringLiteral("&Bereich Aufnehmen"), kRecordSelection);
  QMenu* select = menu->addMenu(QStringLiteral("&Auswahl..."));
  add(select, QStringLiteral("&Alles auswählen"), kSelectAll);
  add(select, QStringLiteral("A&b Anfang"), kSelectFromStart);
  add(select, QStringLiteral("Bis &Ende"), kSelectToEnd);
  add(menu, QStringLiteral("S&peichern"), kSave);
  add(menu, QStringLiteral("&Ausgew. Bereich speichern..."), kSaveSelectedArea);
  add(menu, QStringLiteral("K&opieren"), kCopy);
  add(menu, QStringLiteral("Lö&schen"), kErase);
  add(menu, QStringLiteral("Wegschnei&den"), kDelete);
  QMenu* zoom = menu->addMenu(QStringLiteral("&Vergrößerung (Zeit)"));
  add(zoom, QStringLiteral("&Einzoomen"), kZoomIn);
  add(zoom, QStringLiteral("&Auszoomen"), kZoomOut);
  add(zoom, QStringLiteral("&1:1-Anzeige"), kOneToOneAtStart);
  add(zoom, QStringLiteral("&Alles anzeigen"), kZoomAll);
  return menu;
}

void CTarkelView::ShowContextMenu(QPoint global) {
  QMenu* menu = BuildContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(global);
}

void CTarkelView::contextMenuEvent(QContextMenuEvent* event) {
  ShowContextMenu(event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(QPoint(5, 5)) : event->globalPos());
}

void CTarkelView::PrintTo(QPrinter& printer) {
  QPainter painter(&printer);
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  const QRect client(0, 0, page.width(), page.height());
  // The page is its own window: the same range spread over its width.
  ViewGeometry geometry = geo_;
  geometry.SetClientSize(client.width(), client.height());
  geometry.SetVisibleRange(geo_.FirstVisible(), geo_.EndVisible());
  PaintWave(painter, SceneFor(geometry, client, 0, client.width(), true), analyzer_.get());
}

void CTarkelView::RunPrint() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() == QDialog::Accepted) PrintTo(printer);
}

void CTarkelView::RunPrintPreview() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  QPrintPreviewDialog dialog(&printer, this);
  connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { PrintTo(*p); });
  dialog.exec();
}

}  // namespace tarkel
