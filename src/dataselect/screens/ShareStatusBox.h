#pragma once
// The state box of shared-data takes and stores ("選択データの状態"): a red
// headline over the lines naming the area and its holder, one OK button,
// centred on the screen.

// Installs it as the box the data-list store shows (ShowShareStatusBox).
void InstallShareStatusBox();
