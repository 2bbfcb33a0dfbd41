#include "framework/Button.h"

Button::Button(bool subclass) : subclassOnCreate(subclass)
{
    style = WS_CHILD | WS_VISIBLE;
}

bool Button::Create(HWND parent, int id, const char* text, int x, int y, int width, int height)
{
    TakeControlId(id);
    mnemonic = MnemonicOf(text);
    if (!AttachOrCreate("BUTTON", parent, text, x, y, width, height))
        return false;
    if (subclassOnCreate)
        Subclass(nullptr);
    return true;
}

bool Button::OnCommandNotify(int code, int)
{
    return code == BN_CLICKED && NotifyCallback();
}

bool Button::CreateWithHint(HWND parent, const char* text, int x, int y, int width, int height, int id,
                            const char* hint)
{
    subclassOnCreate = true;
    hintText = hint;
    return Create(parent, id, text, x, y, width, height);
}

char MnemonicOf(const char* label)
{
    if (label == nullptr)
        return 0;
    for (const char* at = label; *at != '\0'; ++at) {
        if (*at == '&')
            return at[1];
    }
    return 0;
}
