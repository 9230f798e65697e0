#pragma once

#include "platform/PlatformExport.h"
#include "platform/ViewController.h"

#include <QColor>
#include <QUrl>

class QLabel;
class QPushButton;

namespace platform {

// A page shown inside the app, as a sheet: the address, a dismiss button and a
// button that hands the page to the desktop's browser through services().urlOpener().
// Present it with present(). Child widgets are named "addressLabel",
// "dismissButton" and "openInBrowserButton".
class PLATFORM_EXPORT InAppBrowser : public ViewController {
    Q_OBJECT

public:
    enum class DismissButtonStyle { Done, Close };

    explicit InAppBrowser(QUrl url, QWidget* parent = nullptr);

    QUrl url() const { return url_; }

    // Colour of the buttons; the palette's highlight colour when unset.
    void setControlTintColor(const QColor& color);
    QColor controlTintColor() const { return tint_; }

    // The dismiss button reads "Close" instead of "Done".
    void setDismissButtonStyleClose();
    DismissButtonStyle dismissButtonStyle() const { return dismissStyle_; }

protected:
    void viewDidLoad() override;

private:
    void applyStyle();

    QUrl url_;
    QColor tint_;
    DismissButtonStyle dismissStyle_ = DismissButtonStyle::Done;
    QLabel* addressLabel_ = nullptr;
    QPushButton* dismissButton_ = nullptr;
    QPushButton* openButton_ = nullptr;
};

} // namespace platform
