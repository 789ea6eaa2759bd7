#include "gui/GUIManager.h"

#include <cstring>
#include <vector>

#include "core/Convert.h"
#include "core/Globals.h"
#include "core/Graveyard.h"
#include "core/Log.h"
#include "core/script/PropertyManager.h"
#include "gui/GUIBaseObject.h"
#include "gui/GUIDialogueManager.h"
#include "gui/GUIInputTextBox.h"
#include "resources/ImageObject.h"

namespace {

std::vector<GUIBaseObject*> Widgets(const RLL& list) {
  std::vector<GUIBaseObject*> widgets;
  for (void* value : list.Values()) widgets.push_back(static_cast<GUIBaseObject*>(value));
  return widgets;
}

}  // namespace

GUIManager::GUIManager()
    : routerSlot(PropertyOwner::GUI,
                 [this](const char* object) -> PropertyHolder* { return FindQuietly(object); }) {
  topLevel.SetWatcher(&names);
}

GUIManager::~GUIManager() {
  topLevel.SetWatcher(nullptr);
  for (GUIBaseObject* object : Widgets(topLevel)) delete object;
  topLevel.Clear();
}

void GUIManager::Forget(const GUIBaseObject* widget) {
  for (GUIBaseObject** slot :
       {&focusedInputBox, &draggedObject, &lastTouchedScrollBar, &lastFiredButton}) {
    if (*slot == widget) *slot = nullptr;
  }
}

bool GUIManager::DispatchMouse(int32_t event) {
  // Widgets' scripts may destroy what other walks hold; that waits for the end of this one.
  const Graveyard::Walk walk;
  if (event == GUIBaseObject::kTick) {
    if (draggedObject != nullptr) {
      draggedObject->HandleInput(GUIBaseObject::kDragStep, ToInt32(mouseX), ToInt32(mouseY));
    }
  } else if (event == GUIBaseObject::kPress) {
    mouseButtonHeld = true;
  } else if (event == GUIBaseObject::kRelease) {
    mouseButtonHeld = false;
  }
  const int32_t x = ToInt32(mouseX);
  const int32_t y = ToInt32(mouseY);
  bool consumed = false;
  // A walk over a copy of the list: a widget's script may reorder it.
  for (GUIBaseObject* object : Widgets(topLevel)) {
    if (object->HandleInput(event, x, y)) {
      consumed = true;
      if (event != GUIBaseObject::kTick) break;
    }
  }
  if (event == GUIBaseObject::kRelease) EndEveryPress();
  return consumed;
}

// A widget hidden in the middle of a drag never hears the release; without this it would jump to
// the mouse when shown again.
void GUIManager::EndEveryPress() {
  draggedObject = nullptr;
  for (GUIBaseObject* object : Widgets(topLevel)) object->EndPressInSubtree();
}

void GUIManager::DispatchKey(int32_t event, int32_t keycode) {
  const Graveyard::Walk walk;
  // The keyboard manager's pressed edge can miss a tap whose release was read with it.
  if (event == GUIBaseObject::kKeyDown) lastKey = keycode;
  if (focusedInputBox != nullptr && focusedInputBox->IsShown()) {
    focusedInputBox->HandleInput(event, 0, 0);
  }
}

bool GUIManager::InputBoxTakesKey(int32_t keycode) const {
  return focusedInputBox != nullptr && focusedInputBox->IsShown() &&
         GUIInputTextBox::TakesKey(keycode);
}

void GUIManager::Draw(ImageObject& frame) {
  ++frames;
  frame.SetAsTarget();
  frame.ClearToBlack();
  const std::vector<GUIBaseObject*> objects = Widgets(topLevel);
  for (auto object = objects.rbegin(); object != objects.rend(); ++object) {
    (*object)->Render(frame);
  }
}

void GUIManager::BringToFront(GUIBaseObject* owner, GUIBaseObject* object) {
  RLL& list = owner != nullptr ? owner->GetChildren() : topLevel;
  list.SeekPointer(object);
  if (list.GetCurrent() == nullptr) return;
  list.RemoveCurrent();
  list.AddHead(object->GetName().c_str(), object);
}

GUIBaseObject* GUIManager::FindQuietly(const char* name, int32_t type) const {
  if (name == nullptr) return nullptr;
  bool several = false;
  GUIBaseObject* only = names.FindOnly(name, type, several);
  if (!several) return only;
  // Several of that name: the front-most in pre-order wins.
  for (GUIBaseObject* object : Widgets(topLevel)) {
    if (object->Is(name, type)) return object;
    if (GUIBaseObject* found = object->FindInSubtree(name, type)) return found;
  }
  return nullptr;
}

GUIBaseObject* GUIManager::FindGUIObject(const char* name, int32_t type) const {
  GUIBaseObject* found = FindQuietly(name, type);
  if (found == nullptr) Log("FindGUIObject:  Failed, object %s not found\n", name ? name : "");
  return found;
}

RLL* GUIManager::GetListOwner(const char* name) {
  if (name != nullptr && std::strcmp(name, "Base") == 0) {
    activeListOwner = nullptr;
    return &topLevel;
  }
  GUIBaseObject* owner = FindGUIObject(name);
  if (owner == nullptr) return nullptr;
  activeListOwner = owner;
  return &owner->GetChildren();
}

void GUIManager::HideAllObjects() {
  for (GUIBaseObject* object : Widgets(topLevel)) {
    if (object->GetName() != "EnvironmentWindow") object->Hide();
  }
}

void GUIManager::CreateDialogueManager() {
  auto* window = new GUIDialogueManager();
  const auto bottom = static_cast<int32_t>(static_cast<float>(gScreenHeight) * 0.3666667f);
  window->SetDimensions(0, SaturatingSubtract(gScreenHeight, bottom), gScreenWidth, bottom);
  window->SetName("DialogueManager");
  topLevel.AddTail("DialogueManager", window);
  BringToFront(nullptr, window);
  window->Hide();
}

void GUIManager::AddToActiveList(const char* name, GUIBaseObject* object) {
  object->SetName(name);
  object->SetParent(activeListOwner);
  activeList->AddTail(name, object);
  activeObject = object;
}

bool GUIManager::SetActiveObjectByName(const char* name) {
  activeObject =
      activeList != nullptr ? static_cast<GUIBaseObject*>(activeList->Find(name)) : nullptr;
  return activeObject != nullptr;
}

bool GUIManager::SetActiveObjectList(const char* name) {
  activeList = GetListOwner(name);
  return activeList != nullptr;
}

bool GUIManager::SetActiveObjectAndListFromBase(const char* name) {
  activeList = GetListOwner("Base");
  activeObject = FindGUIObject(name);
  if (activeObject == nullptr) return false;
  activeList = &activeObject->GetChildren();
  activeListOwner = activeObject;
  return true;
}
