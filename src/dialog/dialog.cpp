#include "dialog/dialog.h"

std::optional<DialogHandle> find_dice_dialog() {
    return find_window(DICE_DIALOG_TITLE);
}

ScreenPoint click_target(ScreenPoint origin, Roll roll) {
    return {origin.x + roll.first * COLUMN_PITCH + COLUMN_OFFSET,
            origin.y + roll.second * ROW_PITCH + ROW_OFFSET};
}

void enter_roll(DialogHandle dialog, Roll roll) {
    const std::optional<ScreenPoint> origin = client_origin(dialog);
    if (!origin) {
        return;
    }
    const ScreenPoint target = click_target(*origin, roll);
    const ScreenPoint saved = pointer_position();
    move_pointer(target);
    left_button_down();
    left_button_up();
    move_pointer(saved);
}
