#pragma once
// The order card panel beside the order information table: the customer card, the extra charges, the dates,
// "Новый заказ", and saving the order as a sketch file (which advances the order number and opens printing).
#include "document/edit_typing.h"
#include "panels/panel.h"
#include "records/order_card.h"

#include <functional>

class QDateEdit;
class QLineEdit;

namespace dalvex::ui {

class PictureButton;

// DlgOrder: the "Заказ" tab, the order card.
class DlgOrder : public Panel {
    Q_OBJECT
public:
    static constexpr int kWidth = 280;

    DlgOrder(const UiContext& context, QWidget* parent);

    // Called after the order was saved: opens the report selection window in print mode.
    void setPrintOpener(std::function<void()> open) { openPrint_ = std::move(open); }

    void refresh();
    void newOrder();
    void saveOrder();

    QLineEdit* numberEdit() const { return number_; }
    QLineEdit* nameEdit() const { return name_; }
    QLineEdit* addressEdit() const { return address_; }
    QLineEdit* phoneEdit() const { return phone_; }
    QLineEdit* assemblyEdit() const { return assembly_; }
    QLineEdit* deliveryEdit() const { return delivery_; }
    QDateEdit* orderDateEdit() const { return orderDate_; }
    QDateEdit* readyDateEdit() const { return readyDate_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void costEdited(QLineEdit* edit, int32_t OrderCard::*field);
    void copyControlsToCard();
    // The card as the controls now have it becomes the order's; what is typed into one edit in a row is one
    // step of the history.
    void change(const OrderCard& card, const QLineEdit* typedIn = nullptr);

    QLineEdit* number_;
    QLineEdit* name_;
    QLineEdit* address_;
    QLineEdit* phone_;
    QLineEdit* assembly_;
    QLineEdit* delivery_;
    QDateEdit* orderDate_;
    QDateEdit* readyDate_;
    PictureButton* save_;
    std::function<void()> openPrint_;
    bool refreshing_ = false;
    EditTyping typing_;
};

} // namespace dalvex::ui
