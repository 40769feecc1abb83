// The document: the design's title and file, and the file commands Open, Save and Save As.
// The design itself is the process-wide current model; the document only names it.
#pragma once

#include <QObject>
#include <QString>

#include <cstdint>

namespace plicato {

class CMainFrame;

class CDave3vDoc : public QObject {
    Q_OBJECT
public:
    explicit CDave3vDoc(CMainFrame& frame);

    // The start-up document: untitled, no file, nothing to save.
    bool onNewDocument();
    const QString& title() const { return docTitle; }
    void setTitle(const QString& title);
    // Full path of the file last opened or saved with Save As; empty for a design without one.
    const QString& modelPath() const { return path; }
    void setModelPath(const QString& p) { path = p; }

    void open();
    // False when nothing was written (cancelled or failed).
    bool save();
    bool saveAs();

    // Whether the design differs from what was last created, opened or saved.
    bool isModified() const;
    void markClean();
    // Before the design is discarded: asks to save a modified design. False means stop (the
    // user cancelled, or the save did not happen).
    bool saveModified();

    // Reads `file` into the current model after checking it can be opened; shows the failure
    // messages. True when the design was replaced.
    bool readDesign(const QString& file);

    // The folder the save dialogs start in: that of the design's file, else the default one.
    QString saveFolder() const;

signals:
    void titleChanged();

private:
    bool writeDesign(const QString& file);

    CMainFrame& frame;
    QString docTitle;
    QString path;
    std::uint64_t cleanPrint = 0;
};

} // namespace plicato
