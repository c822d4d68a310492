/*
 * webapi.h - what the page's exported calls need from the option parsing:
 * option words in, the settings globals set (or a complaint), and the
 * words of the settings now.
 */
#ifndef LUMO_WEBAPI_H
#define LUMO_WEBAPI_H

#include <string>
#include <vector>

/* Lays the options over the defaults of their formula; "" on success,
   else the complaint and the settings are undefined. */
std::string web_applyoptions(int argc, char **argv);

/* The options of the current settings, each with its values, `graph`
   with the strip: {"--view", "-2", "2", "-2", "2"}. */
std::vector<std::vector<std::string>> web_optionwords(int graph);

#endif
