#pragma once

#include <QtGlobal>

class Ink;

// Household appliances as simple pictograms.
namespace AppliancePictures {

void Fridge(Ink &k);
void WallAirConditioner(Ink &k);
void CabinetAirConditioner(Ink &k);
void WashingMachine(Ink &k);
void Television(Ink &k);
void WaterHeater(Ink &k);
void RangeHood(Ink &k);
void Microwave(Ink &k);
void Computer(Ink &k);
void RiceCooker(Ink &k);
void Dishwasher(Ink &k);
void BathHeater(Ink &k);
void FanBlades(Ink &k, qreal cx, qreal cy, qreal r);
void ExhaustFan(Ink &k);
void WaterDispenser(Ink &k);
void Oven(Ink &k);
void InductionHob(Ink &k);
void DisinfectionCabinet(Ink &k);
void GasBoiler(Ink &k);
void ClothesAirer(Ink &k);

} // namespace AppliancePictures
