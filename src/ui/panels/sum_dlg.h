#pragma once
// The totals panel at the right end of the top panel: the discount in per cent and the order's grand total.
#include "document/edit_typing.h"
#include "panels/panel.h"

class QLineEdit;

namespace dalvex::ui {

class TextLabel;

// SumDlg: the totals panel, the discount and the grand total.
class SumDlg : public Panel {
    Q_OBJECT
public:
    static constexpr int kWidth = 234;

    SumDlg(const UiContext& context, QWidget* parent);

    QLineEdit* discountEdit() const { return discount_; }
    QString totalText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void reloadDiscount();
    void discountEdited();
    void showTotal();

    QLineEdit* discount_;
    TextLabel* total_;
    bool settingText_ = false;
    EditTyping typing_;
};

} // namespace dalvex::ui
