/* Identifiers of the forms and objects in resource.txt. */
#ifndef RESOURCE_H
#define RESOURCE_H

#define MainForm        0
#define MainTitle       1
#define MainCountField  2
#define MainCountButton 3
#define MainAboutButton 4
#define AboutForm       5
#define AboutText       6
#define AboutDoneButton 7

#endif
