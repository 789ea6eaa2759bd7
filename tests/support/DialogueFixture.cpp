#include "support/DialogueFixture.h"

#include <allegro5/allegro_font.h>

#include "core/Globals.h"
#include "resources/ImageObject.h"
#include "resources/PortraitHolder.h"

namespace {

ImageObject* SolidImage(int w, int h, Rgba colour) {
  auto* image = new ImageObject();
  image->Create(w, h, &gOpenGLMode);
  image->ClearToColor(colour.r, colour.g, colour.b, colour.a);
  return image;
}

}  // namespace

DialogueFixture::DialogueFixture() {
  gEntityManager = (entities = std::make_unique<EntityManager>()).get();
  gCameraManager =
      (cameras = std::make_unique<CameraManager>("Default", 0, 0, gScreenWidth, gScreenHeight))
          .get();
  library->AddHeading("Images", "GUI", "Chat");
  library->AddHeading("Images", "GUI", "Bubbles");
  library->Register("Images", "GUI", "Chat", "ChatPane", SolidImage(800, 220, kPane));
  library->Register("Images", "GUI", "Bubbles", "ResponseBubble", SolidImage(12, 12, kBubble));
  library->AddCatalogue("Images", "Portraits");
  library->AddHeading("Images", "Portraits", "Corvella");
  library->AddHeading("Images", "Portraits", "Backgrounds");
  for (auto [heading, name, size, colour] :
       {std::tuple{"Corvella", "Face", 48, kFace}, std::tuple{"Backgrounds", "Sky", 64, kSky}}) {
    auto* portrait = new PortraitHolder();
    portrait->Set(SolidImage(size, size, colour));
    library->Register("Images", "Portraits", heading, name, portrait);
  }
  library->AddHeading("Fonts", "General", "Dialogue");
  library->Register("Fonts", "General", "Dialogue", "DialogueFont", al_create_builtin_font());
  gui->CreateDialogueManager();
  window = FindDialogueManager();
  log.Clear();
}

DialogueFixture::~DialogueFixture() { entities->Clear(); }

NPCStaticDialogue* DialogueFixture::AddDialogueNPC(const char* name, int32_t x, int32_t y,
                                                   const char* script) {
  auto* npc = new NPCStaticDialogue();
  npc->SetInternalName(name);
  npc->SetCentre(x, y, 0);
  npc->RecomputeBounds();
  if (script != nullptr) npc->SetDialoguePath(script);
  entities->RegisterPointer("NPC", name, npc);
  return npc;
}

void DialogueFixture::WriteDialogueScript(const std::string& file, const std::string& more) {
  WriteScript(file, "ran = ran .. GetScriptCode() .. ':' .. GetLastChatResponse() .. ' '\n" + more);
}
