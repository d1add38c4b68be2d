#pragma once
// "Make Default" of the template property tabs: the edited template becomes
// the default of its folder. The change is committed at once through the
// editor's dialog write channel, so that the templates tree shows it and no
// write lock is held while the user goes on; Cancel puts the folder's
// previous default back.
class TTolvexControlClass;

void MakeDefaultTemplate(TTolvexControlClass& context);
