#pragma once

#include <QDialog>
#include <QFont>
#include <QString>

#include <memory>

namespace Ui {
class FontChooserDialog;
}

namespace rost {

// Chooses a face, a style and a size; it has no effects section, so the underline and strikeout
// of the font given come back as they were. It opens on the face given even when the system does
// not have it (the face drawn in its place is the one selected in the list), and that face name
// comes back unchanged unless the user picks another face.
class FontChooserDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int HelpTopic = 18;

    explicit FontChooserDialog(const QFont &initial, QWidget *parent = nullptr);
    ~FontChooserDialog() override;

    QFont chosenFont() const;
    // The face whose styles are listed: the chosen face, or the one the system draws for it.
    QString listedFace() const;

private:
    // A face picked from the list, shown in the face box.
    void pickFace(const QString &face);
    void faceTyped(const QString &text);
    void setFace(const QString &face);
    void fillStyles(bool bold, bool italic);
    void showSample();

    std::unique_ptr<Ui::FontChooserDialog> m_ui;
    QFont m_initial;
    QString m_face;
};

} // namespace rost
