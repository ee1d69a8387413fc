// Word list and article display of the selected direction panel.
#pragma once

void RefreshWordList();
void ShowArticle();
void PickListedWord();
void ShowInitialWords();
