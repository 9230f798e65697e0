#pragma once

#include "FennelKitExport.h"

#include "platform/ScreenCover.h"

#include <QColor>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class QGraphicsOpacityEffect;

namespace Ui {
class FNGuideView;
}

namespace fennelkit {

// A full-screen overlay that shows text pages one at a time with a "next"
// button. Passing the last page records "KeyOfDidShowGuide" in the user
// defaults, runs the completion action, fades the guide out and deletes it.
//
// From the keyboard: Return, Enter, Space and Right press the next button; while
// the guide is shown the focus stays inside it (Tab included) and no key passes
// through it to what it covers, nor does an action through the accessibility
// tree reach the controls under it (they are disabled until the guide goes).
//
// Ownership: initFromNib() returns a parentless view owned by the caller until
// showGuide() attaches it to a host, which then owns it; a guide that finds no
// host deletes itself later. Main thread only.
class FENNELKIT_EXPORT FNGuideView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal alpha READ alpha WRITE setAlpha)
    Q_PROPERTY(qreal labelAlpha READ labelAlpha WRITE setLabelAlpha)

public:
    static constexpr const char* didShowGuideKey = "KeyOfDidShowGuide";
    static constexpr int fadeInMs = 600;
    static constexpr int pageFadeMs = 400;
    static constexpr int fadeOutMs = 600;

    ~FNGuideView() override;

    // False only when the user defaults hold the Boolean true under
    // "KeyOfDidShowGuide"; a value of any other type counts as not shown.
    static bool shouldShowGuide();

    // A ready guide, not yet on screen, sized to the main screen as it is now.
    // `descriptions` should hold at least one page.
    static FNGuideView* initFromNib(const QColor& tintColor, const QStringList& descriptions,
                                    std::function<void()> completeClosure = {});

    // Shows page `index` and fades the guide in. The host is the key window if
    // there is one, else `inWindow`, else `orInView`.
    virtual void showGuide(QWidget* inWindow, QWidget* orInView);

    // The next button's action; `sender` is ignored. Does nothing while the
    // button is disabled (during a page change and after the last page).
    virtual void nextGuide(QObject* sender);

    QLabel* guideLabel() const { return guideLabel_; }
    QPushButton* nextButton() const { return nextButton_; }
    int index() const { return index_; }
    const QStringList& descriptions() const { return descriptions_; }

    qreal alpha() const;
    void setAlpha(qreal alpha);
    qreal labelAlpha() const { return labelAlpha_; }
    void setLabelAlpha(qreal alpha);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    explicit FNGuideView(QWidget* parent = nullptr);

    void keepFocusInside(QWidget* now);
    void focusButtonOrGuide();

    QLabel& label() const;
    QPushButton& button() const;
    void applyColors(const QColor& tintColor);
    void animate(const QByteArray& property, qreal to, int durationMs, std::function<void()> completion);
    void finish();
    void changePage();
    QString pageText() const;

    std::unique_ptr<Ui::FNGuideView> ui_;
    QPointer<QLabel> guideLabel_;
    QPointer<QPushButton> nextButton_;
    QGraphicsOpacityEffect* opacity_ = nullptr;
    QColor textColor_;
    qreal labelAlpha_ = 1.0;
    int index_ = 0;
    bool finished_ = false;  // faded out: the focus may leave
    QPointer<QWidget> focusBefore_;
    // The board and its buttons under the guide, out of reach until it goes.
    platform::ScreenCover cover_;
    QStringList descriptions_;
    std::function<void()> completeClosure_;
};

}  // namespace fennelkit
