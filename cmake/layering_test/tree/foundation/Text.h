#pragma once
int TextLength(const char* text);
