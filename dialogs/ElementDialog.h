#pragma once
#include <memory>

#include "dialogs/Dialog.h"
#include "framework/RootElement.h"

// A dialog whose content is drawn elements rather than child windows. The elements get the
// mouse first; a left press none of them takes drags the dialog as usual. A right press is
// offered to them as a left press with its own key state, so the buttons, which act only
// while the left button is down, let it pass, and it never drags.
class ElementDialog : public Dialog {
public:
    LRESULT OnDestroy() override;
    LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnLeftButtonUp(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnRightButtonDown(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnRightButtonUp(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnSize(WPARAM wParam, LPARAM lParam) override;

protected:
    // The root on the dialog window, made once the window exists (in OnInitDialog); the
    // derived dialog deletes its elements in its OnDestroy before this one's runs.
    RootElement& BindRoot();
    RootElement* Root() const { return root_.get(); }

private:
    std::unique_ptr<RootElement> root_;
};
