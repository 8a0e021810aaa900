// A menu: the buttons of a screen or dialog, laid out together, managed in
// one call per step, reporting by name which one the mouse is over and
// which one was clicked.
#pragma once

#include <memory>
#include <string>

#include "engine/Containers.h"
#include "ui/Button.h"

class TMenu;
using TMenuPtr = std::shared_ptr<TMenu>;

class TMenu : public TList<TButtonPtr> {
  public:
    float x = 0, y = 0;
    float OX = 0, OY = 0;
    int w = 0, h = 0;
    std::string MouseOverName, ClickedName;
    TGameSoundPtr SoundMouseOver, SoundClick;
    int NextY = 0;
    int Gap = 0;
    int AddGap = 0;
    int NoSound = 0;
    int Shadow = 0;
    float ShadowX = 3, ShadowY = 3;
    float ShadowAlpha = 0.5f;
    int ClearClickedName = 1;
    int ClearMouseOverName = 0;
    int AcceptInput = 1;
    // Keyboard and controller focus: Tab, the arrows and the d-pad move it
    // between the buttons that take input, Enter, Space and A click the
    // focused one. It shows once a key or controller button is used and
    // follows the mouse while hidden. FocusKeys 0 leaves the keys to the
    // screen (no focus).
    int FocusKeys = 1;
    int FocusUpDown = 1;  // 0: Up and Down belong to the screen (a list, a scroll)
    TButtonPtr Focused;
    // The button the focus starts on when it has none (else the keyboard OK
    // button, else the first that takes input).
    std::string DefaultFocusName;
    float FocusGlow = 0;  // the focus frame's pulse, 0..360

    static TMenuPtr Create(const std::string& soundMO, const std::string& soundClick, float x,
                           float y, int gap);
    void Init(const std::string& soundMO, const std::string& soundClick, float x, float y, int gap);
    void Kill();

    TButtonPtr DoAddNew(const std::string& image, const std::string& imageMO,
                        const std::string& name, int cellWidth, int cellHeight, int frames);
    TButtonPtr AddNew(const std::string& image, const std::string& imageMO, const std::string& name,
                      int cellWidth, int cellHeight, int frames);
    void IncreaseHeight(const TButton& button);
    TButtonPtr AddQuick(const std::string& image, const std::string& name = "");
    TButtonPtr AddQuickAuto(const std::string& image, const std::string& name = "");
    void AddPair(const std::string& image1, const std::string& image2, int gap,
                 const std::string& prefix);
    void RemoveButton(const std::string& name);

    TButtonPtr FindButton(const std::string& name) const;
    int Clicked(const std::string& name);
    int MouseOver(const std::string& name);

    int Manage(float ox, float oy);
    int ManageNoSound(float ox, float oy);
    void ManageFixedGlowOnly();
    void ManageScaleOnMO();
    void Draw(float ox, float oy);
    // The focus on the named button (when it takes input).
    void FocusOn(const std::string& name);
    // The focused button, when the focus shows.
    TButtonPtr ShownFocus() const;

    void CalcLeft();
    void CalcTop();
    void CalcWidth();
    void CalcHeight();
    void CalcCoords();
    void SetX(float newX);
    void SetY(float newY);
    void CentreHoriz();
    void CentreVert();
    void Centre();
    void MakeColumn(int gap);
    void MakeRow(int gap);
    void SetPairX(const std::string& name1, const std::string& name2, float newX);
    void StoreOriginalCoords();
    void ScaleMenu(float sx, float sy);

    void SetShadow(int on, float sx, float sy, float alpha);
    void ResetShadow(int on, float sx, float sy, float alpha);
    void ChangeShadow(int on, float sx, float sy, float alpha);
    void SetAlpha(float alpha);
    void SetButtonCaptionRoundCoords(int round, int roundX, int roundY);
    void ClearStates();
    void ClearGlow();
    void ClearMouseClick();
    void ClearMouseOver();
    void ClearScale();
    void Precache();

  private:
    // One step of the focus keys; true when the focused button is to click.
    bool ManageFocus();
    // The button the focus goes to from the focused one along (dx, dy).
    TButtonPtr FocusToward(int dx, int dy) const;
    TButtonPtr FocusInOrder(int step) const;
    TButtonPtr DefaultFocus() const;
    void DrawFocus() const;
    int FocusSeen = 0;      // the focus showed on the step before
    long FocusRound = -10;  // the input round the menu last took input in
};

// The keyboard focus's look: a soft frame of light round the box (virtual
// pixels), pulsing with pulse (degrees).
void DrawFocusRing(float left, float top, float width, float height, float pulse);

// A captioned menu button as most screens use it (pressed picture
// image + "Down", caption width by picture name, fixed glow on mouse-over).
TButtonPtr AddMenuButton(TMenu& menu, const std::string& image, const std::string& name,
                         const std::string& captionKey, float x, float y, int captionWidth = 0,
                         float captionScale = 1.0f, int shadow = 0, int softCaption = 0);
// The single leave button of a screen: "button" named "OK", the keyboard OK
// button (Enter, Space), captioned with "Button OK", centred 30 pixels above
// the bottom of the screen.
TButtonPtr AddOKButton(TMenu& menu);
void SetupMenuButtonCaption(TButton& button, const std::string& text, int width, float scale,
                            int shadow, int softCaption);
