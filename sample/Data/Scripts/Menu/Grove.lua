-- Quillmere sample game: the menu's "Grove" button. It leaves the map for the chunked level Grove
-- (Data/Maps/Grove.plf), whose script Data/Scripts/Maps/Grove.lua runs as it loads.
MapM_TransitionMap("Grove")
-- The extras window would hide the grove's paths; the menu's Panel button does not bring it back.
GUI_SetActiveObjectAndListFromBase("Extras")
GUIG_Hide()
