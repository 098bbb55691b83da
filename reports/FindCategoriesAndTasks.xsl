<?xml version="1.0"?>
<!-- The find: the categories and tasks whose name or description matches, in
     the order the category tree and the task list show them, with the current
     selection marked. The program tests the texts itself and writes the ids
     that match (",12,45," for categories, ";3:,31,32,;" for tasks by category) and the selection in as the parameters'
     defaults, with the filter and sort placeholders, before the stylesheet is
     parsed: Wine's processor loses parameters handed to it one by one. The
     criteria and the switches are declared for stylesheets that want them. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="xml" omit-xml-declaration="yes"/>

  <xsl:param name="sCriteria"/>
  <xsl:param name="matchCase" select="0"/>
  <xsl:param name="wholeWordOnly" select="0"/>
  <xsl:param name="usingRegExp" select="0"/>
  <xsl:param name="selCategory" select="REP_SELECTED_CATEGORY"/>
  <xsl:param name="selTask" select="REP_SELECTED_TASK"/>
  <xsl:param name="matchingCategories" select="'REP_MATCHING_CATEGORIES'"/>
  <xsl:param name="matchingTasks" select="'REP_MATCHING_TASKS'"/>

  <xsl:template match="/">
    <ROOT>
      <!-- Tasks outside every category come first, under the tree's top item. -->
      <xsl:variable name="topTasks" select="substring-before(substring-after($matchingTasks, ';0:'), ';')"/>
      <xsl:variable name="tasks" select="/ROOT/TASK[contains($topTasks, concat(',', @ID, ',')) REP_TASK_FILTER]"/>
      <xsl:if test="$tasks">
        <CATEGORY ID="0">
          <xsl:for-each select="$tasks">
            PRIMARY_SORT
            <xsl:sort select="@NAME" order="REP_SORT_ORDER"/>
            <xsl:if test="@ID = $selTask">
              <SELTASK ID="{@ID}"/>
            </xsl:if>
            <TASK ID="{@ID}"/>
          </xsl:for-each>
        </CATEGORY>
      </xsl:if>
      <xsl:apply-templates select="/ROOT/CATEGORY">
        <xsl:sort select="@NAME"/>
      </xsl:apply-templates>
    </ROOT>
  </xsl:template>

  <xsl:template match="CATEGORY">
    <xsl:if test="@ID = $selCategory">
      <SELCATEGORY ID="{@ID}"/>
    </xsl:if>
    <xsl:if test="contains($matchingCategories, concat(',', @ID, ',')) REP_CATEGORY_FILTER">
      <CATEGORY ID="{@ID}"/>
    </xsl:if>
    <xsl:variable name="categoryTasks" select="substring-before(substring-after($matchingTasks, concat(';', @ID, ':')), ';')"/>
    <xsl:variable name="tasks" select="TASK[contains($categoryTasks, concat(',', @ID, ',')) REP_TASK_FILTER]"/>
    <xsl:if test="$tasks">
      <CATEGORY ID="{@ID}">
        <xsl:for-each select="$tasks">
          PRIMARY_SORT
          <xsl:sort select="@NAME" order="REP_SORT_ORDER"/>
          <xsl:if test="@ID = $selTask">
            <SELTASK ID="{@ID}"/>
          </xsl:if>
          <TASK ID="{@ID}"/>
        </xsl:for-each>
      </CATEGORY>
    </xsl:if>
    <xsl:apply-templates select="CATEGORY[.//TASK]">
      <xsl:sort select="@NAME"/>
    </xsl:apply-templates>
  </xsl:template>
</xsl:stylesheet>
