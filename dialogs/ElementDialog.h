#pragma once
#include <memory>

#include "dialogs/Dialog.h"
#include "framework/ElementRouting.h"
#include "framework/RootElement.h"

// A dialog whose content is drawn elements rather than child windows. The elements get the
// mouse first; a left press none of them takes drags the dialog as usual. A right press is
// offered to them as a left press with its own key state, so the buttons, which act only
// while the left button is down, let it pass, and it never drags.
class ElementDialog : public ElementRouting<Dialog> {
public:
    void OnDestroy() override;
    LRESULT OnSize(WPARAM wParam, LPARAM lParam) override;

protected:
    // The root on the dialog window, made once the window exists (in OnInitDialog); the
    // derived dialog deletes its elements in its OnDestroy before this one's runs.
    RootElement& BindRoot();
    RootElement* Root() const { return root_.get(); }

    RootElement* ElementRoot() override { return root_.get(); }
    LRESULT NotTaken(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::unique_ptr<RootElement> root_;
};
