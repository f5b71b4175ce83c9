#pragma once

// Runs when the search button is clicked or Enter is pressed in the search box: fetches result
// pages 1 and 2 for the keyword, fills the result list and the export buffer, numbers the rows
// and reports the count.
void SearchCommand();

// Fetches, decodes and extracts one result page, the one PageCounter names.
void ResultPageProcessor();
