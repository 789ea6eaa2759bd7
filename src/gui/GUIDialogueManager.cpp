#include "gui/GUIDialogueManager.h"

#include <string>

#include "actors/NonPlayingCharacter.h"
#include "core/EntityManager.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/script/LuaManager.h"
#include "gui/GUIManager.h"
#include "resources/DataLibrary.h"
#include "resources/ImageObject.h"
#include "resources/PortraitHolder.h"

namespace {

constexpr int32_t kLineArea = 192;

template <class T>
T* LibraryEntry(const char* section, const char* catalogue, const char* heading, const char* name) {
  return gDataLibrary != nullptr && name != nullptr
             ? gDataLibrary->GetEntry<T>(section, catalogue, heading, name)
             : nullptr;
}

}  // namespace

GUIDialogueManager::GUIDialogueManager()
    : pane(LibraryEntry<ImageObject>("Images", "GUI", "Chat", "ChatPane")),
      font(LibraryEntry<ALLEGRO_FONT>("Fonts", "General", "Dialogue", "DialogueFont")),
      textColour(al_map_rgba(215, 171, 20, 255)) {
  typeCode = kTypeCode;
  for (int32_t i = 0; i < kLineArea / lineHeight; ++i) AddLine(" ");
}

GUIDialogueManager::~GUIDialogueManager() = default;

void GUIDialogueManager::AddLine(const char* text) {
  lines.push_back(std::make_unique<ChatBubble>(text));
}

const ChatBubble* GUIDialogueManager::GetLine(int32_t index) const {
  return index >= 0 && index < GetLineCount() ? lines[index].get() : nullptr;
}

void GUIDialogueManager::SetLineText(int32_t index, const char* text) {
  if (index >= 0 && index < GetLineCount()) lines[index]->SetText(text);
}

void GUIDialogueManager::SetLineResponse(int32_t index, const char* text, int32_t code) {
  if (index >= 0 && index < GetLineCount()) lines[index]->SetResponse(text, code);
}

int32_t GUIDialogueManager::GetResponseValue(int32_t index) const {
  const ChatBubble* line = GetLine(index);
  return line != nullptr ? line->GetResponseValue() : kPlainLine;
}

void GUIDialogueManager::ClearLines() {
  for (const auto& line : lines) line->Clear();
}

void GUIDialogueManager::RemoveLine(int32_t index) {
  if (index >= 0 && index < GetLineCount()) lines.erase(lines.begin() + index);
}

void GUIDialogueManager::SetPortrait(const char* name) {
  portrait = LibraryEntry<PortraitHolder>("Images", "Portraits", "Corvella", name);
  if (portrait == nullptr) Log("Scanning for portrait FAILED\n");
}

void GUIDialogueManager::SetPortraitBackground(const char* name) {
  portraitBackground = LibraryEntry<PortraitHolder>("Images", "Portraits", "Backgrounds", name);
  if (portraitBackground == nullptr) Log("Scanning for background FAILED\n");
}

bool GUIDialogueManager::OnInput(int32_t event, int32_t x, int32_t y) {
  if (event == kPress) {
    pressed = IsInside(x, y);
    return pressed;
  }
  if (event != kRelease || !pressed) return false;
  // Every release ends the press, a picking one too: a stale press would pick a response the
  // next time the window shows.
  pressed = false;
  return PickAt(x, y);
}

bool GUIDialogueManager::PickAt(int32_t x, int32_t y) {
  const int64_t dx = int64_t{x} - posX - kLinesLeft;
  const int64_t dy = int64_t{y} - posY;
  if (dx < 0 || dx > kPickWidth || dy < kLinesTop || dy > kPickBottom) return false;
  const int32_t value = GetResponseValue(static_cast<int32_t>((dy - kLinesTop) / lineHeight));
  lastChatResponse = value;
  if (value == kCloseCode) {
    Hide();
    return true;
  }
  if (value == kPlainLine) return false;
  auto* npc = static_cast<NonPlayingCharacter*>(
      gEntityManager != nullptr ? gEntityManager->GetDialogueNPC() : nullptr);
  if (npc == nullptr) {
    Log("Something is seriously wrong with the Dialogue Manager, and the Dialogue NPC wasn't "
        "set\n");
    return true;
  }
  const char* path = npc->GetDialoguePath();
  if (path != nullptr && gLuaManager != nullptr) {
    gLuaManager->ExecuteScript(path, kDialogueScriptCode);
  }
  return true;
}

void GUIDialogueManager::Draw() {
  if (pane != nullptr) pane->DrawAt(0, 0, 0);
  for (const PortraitHolder* picture : {portraitBackground, portrait}) {
    if (picture != nullptr && picture->Get() != nullptr) {
      picture->Get()->DrawAt(kPortraitX, kPortraitY, 0);
    }
  }
  for (int32_t i = 0; i < GetLineCount(); ++i) {
    lines[i]->Draw(font, textColour, kLinesLeft, kLinesTop + lineHeight * i, 0, lineHeight);
  }
  // Stays dirty: the window is drawn again on every frame it shows.
}

PropertyRef GUIDialogueManager::GetPropertyAddress(const char*, const char*) {
  return PropertyRef();
}

GUIDialogueManager* FindDialogueManager() {
  if (gGUIManager == nullptr) return nullptr;
  return static_cast<GUIDialogueManager*>(
      gGUIManager->FindGUIObject("DialogueManager", GUIDialogueManager::kTypeCode));
}
