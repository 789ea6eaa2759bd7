-- Every 150 ticks a bolt flies from the left edge along the slime's beat, three pixels a tick; it
-- is gone once it hits (target list 0 hits enemies) or leaves the view.
GroveTicks = GroveTicks + 1
if GroveTicks % 150 == 1 then
  OBJM_CreateObject("Bolt", "SimpleProjectile", 3, 0, 0)
  OBJPB_SetCoordinateData(10, 450, 0, 10, 10, 4)
  OBJPB_SetDisplayData("BoltFlight", "Bolt", 0, 0, 0)
  OBJPB_SetTargetFlags(1)
  OBJPB_SetDamageOutput(8)
end
