#include "ui/click_procedure.h"

#include "calc/calc.h"
#include "ui/edit_box_text.h"
#include "ui/notice_box.h"
#include "ui/text.h"
#include "ui/window_description.h"
#ifdef VESKORA_STORAGE_FAULT_FROM_FIRST_CLICK
#include "ui/storage.h"
#endif

namespace veskora {
namespace {

constexpr const char16_t* kAskForInput = u"请输入参数";

// Whether the box holds something; the text is released at once.
bool HasContent(HWND box) {
    Text text = ReadEditBoxText(box);
    const bool filled = !IsEmpty(text);
    Release(text);
    return filled;
}

}  // namespace

void RunClickProcedure(HWND window) {
#ifdef VESKORA_STORAGE_FAULT_FROM_FIRST_CLICK
    StartFailingStorage();
#endif
    HWND pulsesBox = GetDlgItem(window, ChildId(kPulsesBoxId));
    HWND diameterBox = GetDlgItem(window, ChildId(kDiameterBoxId));
    HWND resultBox = GetDlgItem(window, ChildId(kResultBoxId));

    if (!HasContent(pulsesBox) || !HasContent(diameterBox)) {
        ShowNotice(kAskForInput, 0, nullptr);
        return;
    }
    // The diameter is read first, as the calculation converts it first.
    Text diameterText = ReadEditBoxText(diameterBox);
    Text pulsesText = ReadEditBoxText(pulsesBox);
    const auto result = CalculatePulsesPerMillimetre(View(pulsesText), View(diameterText));
    Release(diameterText);
    Release(pulsesText);
    if (!result) {
        ShowNotice(kAskForInput, 0, nullptr);
        return;
    }
    WriteEditBoxText(resultBox, *result);
}

}  // namespace veskora
