-- Quillmere sample game: the menu's "Grove" button takes the hero to the grove at once, wherever
-- it is (a round of the gnatling game ends), and closes the menu.
SMM_SetActivity(0)
TimerManager_DelTimer("GnatRound")
LM_ExecuteScript(Path_GetPath("Rooms") .. "ToGrove.lua")
GUI_SetActiveObjectAndListFromBase("Menu")
GUIG_Hide()
