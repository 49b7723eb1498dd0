#pragma once
// The document and edit commands of the shell and the few services of the core that windows
// need (new, open, save, the save question). This is the one place of the shell that calls the
// document, editing and effects layers.
#include <QString>
#include <memory>

#include "app/CommandTable.h"

class QWidget;

namespace tarkel::app {

struct AppState;
struct Preferences;

CommandState DocumentCommandState(const CommandContext& context, int id);
void RunDocumentCommand(CommandContext& context, int id);

// A new document: the format chooser and the change-length dialog, or with `fromClipboard` the
// clipboard's sound. Null when cancelled (nothing shown) or failed (the message shown).
std::unique_ptr<CTarkelDoc> NewDocument(bool fromClipboard);
// A document filled from the file at `path`; null after the reader's message.
std::unique_ptr<CTarkelDoc> OpenDocument(const QString& path);
// Save (asking for a name when the document has none, or always with `askName`). True when
// written.
bool SaveDocument(CTarkelDoc& doc, QWidget* owner, bool askName);
// The framework's question before a modified document closes: Yes saves (a failed save keeps it
// open), No discards, Cancel keeps it open. True when the document may close.
bool QuerySaveDocument(CTarkelDoc& doc, QWidget* owner);
// Whether an operation on the document is running (its progress window is open).
bool DocumentBusy(const CTarkelDoc& doc);
// Closes the document's sound and tells the region manager.
void CloseDocument(CTarkelDoc& doc);

// Whether the clipboard holds wave data and nothing plays (Paste New).
bool CanPasteNew();

// Installs the documents' hooks (the change-length dialog in the display unit, paste as new)
// owned by `owner`.
void InstallDocumentHooks(QWidget* owner, const AppState& state);
// The preferences the core reads, copied in; and what the core changed, copied back.
void ApplyPreferencesToCore(const Preferences& prefs);
void ReadPreferencesFromCore(Preferences& prefs);

// The file dialogs' filters in Qt's form.
QString OpenFileFilter();
QString SampleFileFilter();

}  // namespace tarkel::app
